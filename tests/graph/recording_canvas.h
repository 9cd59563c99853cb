// A canvas that writes down what the graph draws, one line per call, with fixed text metrics
// (6 pixels per character, 10 high).
#pragma once

#include "graph/graph_canvas.h"

#include <algorithm>
#include <string>
#include <vector>

class RecordingCanvas : public TGraphCanvas {
public:
    std::vector<std::string> calls;

    void SetPen(TColor color, TPenStyle style, int width, TColor) override
    {
        Add("Pen " + std::to_string(color) + " " + std::to_string(style) + " " + std::to_string(width));
    }
    void SetBrush(TColor color, bool solid) override { Add("Brush " + std::to_string(color) + (solid ? " solid" : " clear")); }
    void SetFont(const TGraphFont&) override {}
    void MoveTo(int x, int y) override { Add("MoveTo " + Xy(x, y)); }
    void LineTo(int x, int y) override { Add("LineTo " + Xy(x, y)); }
    void Segments(std::span<const TGraphPixel> endpoints) override { Add("Segments" + Points(endpoints)); }
    void Rectangle(int l, int t, int r, int b) override { Add("Rectangle " + Xy(l, t) + " " + Xy(r, b)); }
    void Polygon(std::span<const TGraphPixel> points) override { Add("Polygon" + Points(points)); }
    void Ellipse(int l, int t, int r, int b) override { Add("Ellipse " + Xy(l, t) + " " + Xy(r, b)); }
    int TextWidth(const std::string& text) override { return 6 * static_cast<int>(text.size()); }
    int TextHeight(const std::string&) override { return 10; }
    void TextOut(int x, int y, const std::string& text) override { Add("Text " + Xy(x, y) + " " + text); }
    void TextOutUpward(int x, int y, const std::string& text) override { Add("TextUp " + Xy(x, y) + " " + text); }
    void SetClipRect(int l, int t, int r, int b) override { Add("Clip " + Xy(l, t) + " " + Xy(r, b)); }
    void ResetClip() override { Add("NoClip"); }

    bool Has(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }
    bool HasPrefix(const std::string& prefix) const
    {
        return std::any_of(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    }
    // The calls from the first one that starts with `prefix` on.
    std::vector<std::string> From(const std::string& prefix) const
    {
        auto it = std::find_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
        return {it, calls.end()};
    }

private:
    void Add(std::string call) { calls.push_back(std::move(call)); }
    static std::string Xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    static std::string Points(std::span<const TGraphPixel> points)
    {
        std::string s;
        for (const TGraphPixel& p : points) s += " " + Xy(p.X, p.Y);
        return s;
    }
};
