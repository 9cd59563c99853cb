// TPrintedFrame: the panels a measurement view prints with, and its Print and Copy to Clipboard.
// The header above the graph holds the view's three period lines on the left and the survey's
// description, site and operator on the right; the information panel (survey, measure, the
// printing date, the product line) shows only on the printed page and in the copied picture.
// A view builds one, places the two panels in its layout and calls Print and CopiedPicture;
// the trend views and the waveform view compose it.
#pragma once

#include "platform/window_print.h"
#include "survey/records.h"
#include "survey/trace_records.h"
#include "views/print_lines.h"

#include <QImage>
#include <QSize>
#include <functional>
#include <string>
#include <vector>

class QFont;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QWidget;

// The views' panel font: Arial, `pixels` pixels high.
QFont ArialPixels(int pixels);
// A label of a view panel's grid, with its caption; in a narrow view it is cut rather than
// widening the view beyond its window.
QLabel* AddPanelLabel(QWidget* parent, QGridLayout* grid, const char* caption, int row, int column);

// A view's legend panel: raised, `width` wide, in the panel font (Arial 11 px).
QFrame* NewLegendPanel(QWidget* parent, int width);
// A raised panel in the views' panel font, its labels in a grid with their rows close together:
// the header of the views, of the events list and of the system events window.
struct TPanelGrid {
    QFrame* Frame;
    QGridLayout* Grid;
};
TPanelGrid AddRaisedPanel(QWidget* parent);

class TPrintedFrame {
public:
    // The two panels as children of `window`, the information panel hidden.
    TPrintedFrame(QWidget& window, const std::string& measureLabel);

    // Header: "Start date: ", "Stop date: ", "Records: " for the view to complete, and the survey.
    QFrame* PanelTop;
    QLabel *LabelIni, *LabelEnd, *LabelNRec, *LabelDescr, *LabelSite, *LabelOperator;
    // Information panel.
    QFrame* PanelInfo;
    QLabel *LabelInfo, *LabelMeas, *LabelPrint, *LabelTarn;

    // The view's own additions to the printed look: panels shown only on the page and in the
    // copied picture besides the information panel (the waveform view's trigger labels), and
    // panels painted white on the page besides the header (the legend).
    std::vector<QWidget*> PageOnlyPanels;
    std::vector<QWidget*> WhiteOnPage;
    // Shown widgets that give way on the page and in the copy (the waveform view's trigger
    // grid, which its labels replace there).
    std::vector<QWidget*> ScreenOnlyPanels;
    // The client size the window is printed at.
    QSize PrintingSize{620, 400};
    // The information panel's date line on the page, for the moment of printing.
    std::string (*PrintLine)(TDateTime now) = ShortDatePrintLine;

    // Lays the window out: the header above a row, returned, for the view's graph and legend.
    QHBoxLayout* PlaceHeader();

    // The survey's description, site, operator and name; the three header lines become lines 0
    // to 2 of `info`.
    void ShowSurvey(const TSurveySelection& selection, TInfoPrintVal& info);

    // The window as Copy to Clipboard takes it: the information panel shown without a printing
    // date, the header's bevel lowered.
    QImage CopiedPicture();
    // Print: the print dialog, then the window at its printing size with the printing notice up,
    // "Printed on: " and the date in the information panel, the panels as printed, drawn on one
    // page; viewAsPrinted(true) and (false) switch the view's own parts (its graph's colour), and
    // `pictures` are the widgets the page shows as pictures.
    void Print(const std::function<void(bool printed)>& viewAsPrinted, const std::vector<TPagePicture>& pictures);

private:
    void ShowAsPrinted(bool printed);

    QWidget& window_;
};
