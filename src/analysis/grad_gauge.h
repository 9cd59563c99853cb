// TGradGauge: a small graphic control that fills the part of its width its progress takes with
// a top-to-bottom colour gradient, the rest in its back colour, and centres its caption on it.
// The bar report's bars are such gauges; the rules it paints by are gauge_rules.h.
#pragma once

#include "analysis/gauge_rules.h"

#include <QImage>
#include <QWidget>

class TGradGauge : public QWidget {
    Q_OBJECT
public:
    enum class TBorder { None, Single };

    explicit TGradGauge(QWidget* parent = nullptr);

    TColor BackColor() const { return backColor_; }
    TColor Color1() const { return color1_; }
    TColor Color2() const { return color2_; }
    TBorder Border() const { return border_; }
    const TGaugeValues& Values() const { return values_; }
    int Progress() const { return values_.Progress(); }
    QString Caption() const { return QString::fromStdString(values_.Caption()); }

    void SetBackColor(TColor colour);
    // Each end of the gradient; the gradient bitmap is made again.
    void SetColor1(TColor colour);
    void SetColor2(TColor colour);
    void SetBorder(TBorder border);
    void SetMin(int value);
    void SetMax(int value);
    void SetProgress(int value);
    void SetAutoCaption(bool value);
    void SetCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void MakeGradient();
    void Repaint(bool changed);

    TGaugeValues values_;
    TColor backColor_ = clWhite, color1_ = clWhite, color2_ = clBlue;
    TBorder border_ = TBorder::Single;
    // Made once at the size the control is created with, and stretched over the filled part.
    QImage gradient_;
};
