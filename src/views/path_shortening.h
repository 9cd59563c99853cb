// Shortening a path to a pixel width by putting "..." in place of middle folders (trend view
// captions). Plain C++: the caller gives the width of a text in its font.
#pragma once

#include <functional>
#include <string>

using TextWidthFunction = std::function<int(const std::string&)>;

// The path when it fits; else the first folder, "...", and as many trailing parts as fit;
// else ".../" and the file name; else the file name alone.
std::string ShortenPath(const std::string& path, int maxWidth, const TextWidthFunction& width);
