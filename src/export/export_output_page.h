// Page 4 of the export wizard, "Input the destination filename(s)": the output folder, the base
// name and the format, and the workbook name each exported measure will get.
#pragma once

#include "export/export_params.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class TSurveyPicker;

class TExportOutputPage : public QWidget {
    Q_OBJECT
public:
    // The folder list starts in the data folder last used in this run, else in DataDir.
    explicit TExportOutputPage(QWidget* parent);

    TSurveyPicker* ExpDirList;  // its folder list and volume box; no file list
    QLabel* LabelPath;
    QLineEdit* EditBase;
    QComboBox* ComboExt;  // "Excel 5.0", "Ascii": the format's index
    // By measure (1 to 10; the voltage samples and index 0 have none).
    std::array<QLabel*, kMeasureCount + 1> CaptionLabels{};
    std::array<QLabel*, kMeasureCount + 1> NameLabels{};

    std::string Folder() const;
    std::string BaseName() const;
    std::uint32_t Format() const;
    // The workbook of measure k under the page's folder, base name and format.
    std::string OutputPath(int measure) const;
    bool CanFinish() const { return !BaseName().empty(); }

    // Each measure's caption enabled, and its name shown, exactly when its bit is set.
    void ShowOutputNames(unsigned measures);

signals:
    void BaseNameChanged();

private:
    unsigned shown_ = 0;
};
