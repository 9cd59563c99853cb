// Path shortening with an ellipsis.
#include "views/path_shortening.h"

#include <vector>

std::string ShortenPath(const std::string& path, int maxWidth, const TextWidthFunction& width)
{
    if (width(path) <= maxWidth) return path;
    const char sep = path.find('\\') != std::string::npos && path.find('/') == std::string::npos ? '\\' : '/';
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == sep) {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    const std::string ellipsis = "...";
    if (parts.size() >= 3) {
        // parts[0] is "" for an absolute path or the drive; keep it and the first folder after it.
        const std::size_t keep = parts[0].empty() ? 2 : 1;
        for (std::size_t drop = keep; drop + 1 < parts.size(); ++drop) {
            std::string candidate;
            for (std::size_t i = 0; i < keep; ++i) candidate += parts[i] + sep;
            candidate += ellipsis;
            for (std::size_t i = drop + 1; i < parts.size(); ++i) candidate += sep + parts[i];
            if (width(candidate) <= maxWidth) return candidate;
        }
    }
    const std::string tail = ellipsis + sep + parts.back();
    if (width(tail) <= maxWidth) return tail;
    return parts.back();
}
