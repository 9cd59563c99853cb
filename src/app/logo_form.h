// The splash window: shown first, fixes ProgDir, and after 2000 ms ends itself, switching the
// main toolbar to its start states and showing the start-up notice.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

class TLogoForm : public QWidget {
    Q_OBJECT
public:
    explicit TLogoForm(QWidget* parent = nullptr);

    QLabel* LabelVersion;
    QTimer Timer1;
    // What the end of the splash runs (toolbar start states, start-up notice).
    std::function<void()> OnSplashEnd;

    void Timer1Timer();

private:
    void FormCreate();
};

inline constexpr const char* kVersionText = "Version 2.18.6 fu";
