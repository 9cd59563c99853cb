// Base of every MDI child window: it carries its view kind from creation, on which the main
// window routes its commands (1 setup, 11-20 measure views, 25 values, 26 analysis report,
// 27 summary report, 28 sheet).
#pragma once

#include <QWidget>

class TChildForm : public QWidget {
    Q_OBJECT
public:
    TChildForm(int viewKind, QWidget* parent = nullptr) : QWidget(parent), viewKind_(viewKind) {}
    int ViewKind() const { return viewKind_; }

private:
    const int viewKind_;
};

// The kinds "Close" acts on.
constexpr bool IsClosableViewKind(int kind)
{
    return kind == 1 || (kind >= 11 && kind <= 20) || (kind >= 25 && kind <= 28);
}
