// The voltage view's toolbar duties on a main window: the buttons follow the active view as
// views are activated and closed.
#include "view_test_support.h"

#include "app/main_form.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <gtest/gtest.h>

TEST(TrendToolbar, ButtonsFollowTheActiveViewAndGoOffWithTheLast)
{
    // Records with a density curve, so the Curve button has something to show.
    VoltageViewFixture f({.count = 60, .flags = 2 | 32, .curve = std::vector<std::int32_t>(120, 1), .curveTotal = 120});
    TMainForm form;
    form.resize(1000, 640);
    form.show();
    auto* plotted = qobject_cast<TShowVForm*>(CreateVoltageView(form.ChildContext(), nullptr));
    ASSERT_NE(plotted, nullptr);
    QPointer<QMdiSubWindow> plottedSub = form.AddChild(plotted);
    plotted->ApplyTraces(ChooseTraces(*plotted, 1));
    plotted->SetZoom(true);  // zoom armed: Zoom In down, the cursor unavailable
    EXPECT_TRUE(form.BtnZoomIn->isEnabled());
    EXPECT_TRUE(form.BtnZoomIn->isChecked());
    EXPECT_FALSE(form.BtnMeas->isEnabled());

    // A new view has no trace yet: its own buttons only.
    QPointer<QMdiSubWindow> freshSub = form.AddChild(CreateVoltageView(form.ChildContext(), nullptr));
    ASSERT_EQ(form.ActiveChild(), freshSub->widget());
    for (QAction* on : {form.BtnTraces, form.BtnValues, form.BtnCopyClip, form.BtnPrint})
        EXPECT_TRUE(on->isEnabled()) << on->text().toStdString();
    EXPECT_FALSE(form.BtnZoomIn->isEnabled());
    EXPECT_FALSE(form.BtnZoomIn->isChecked());

    form.MdiArea->setActiveSubWindow(plottedSub);
    EXPECT_TRUE(form.BtnZoomIn->isChecked());
    form.BtnZoomIn->trigger();  // disarmed from the toolbar
    EXPECT_FALSE(plotted->ZoomMode());
    EXPECT_FALSE(form.BtnZoomIn->isChecked());
    EXPECT_TRUE(form.BtnMeas->isEnabled());
    form.BtnMeas->trigger();
    EXPECT_TRUE(plotted->CursorOn());
    EXPECT_TRUE(form.BtnMeas->isChecked());
    EXPECT_TRUE(form.BtnCurve->isEnabled());

    form.MdiArea->setActiveSubWindow(freshSub);
    EXPECT_FALSE(form.BtnMeas->isEnabled());
    EXPECT_FALSE(form.BtnMeas->isChecked());
    EXPECT_FALSE(form.BtnCurve->isEnabled());

    // Closing the active view hands the toolbar back to the other; its cursor stayed on.
    form.ItemCloseClick();
    EXPECT_EQ(form.ActiveChild(), plotted);
    EXPECT_TRUE(form.BtnMeas->isChecked());
    EXPECT_TRUE(form.BtnCurve->isEnabled());
    form.ItemCloseClick();
    for (QAction* off : {form.BtnTraces, form.BtnValues, form.BtnCopyClip, form.BtnPrint, form.BtnZoomIn,
                         form.BtnZoomOut, form.BtnMeas, form.BtnCurve})
        EXPECT_FALSE(off->isEnabled()) << off->text().toStdString();
    EXPECT_FALSE(form.BtnMeas->isChecked());
    EXPECT_TRUE(f.messages.messages.empty());
}
