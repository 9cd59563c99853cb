// Shared set-up of the window tests: a voltage survey in a temporary program folder, and a
// voltage view opened on it, shown offscreen at its creation size; the same for any measure's
// records; what a view plotted.
#pragma once

#include "fixtures/child_context_fixture.h"
#include "fixtures/on_modal.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/data_fixture.h"
#include "fixtures/view_fixture.h"
#include "platform/scripted_messages.h"
#include "views/show_v_form.h"

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A function, not a constant: the date tables it needs may not be set up during static initialisation.
inline double ViewStart() { return FixtureTime(2024, 3, 15, 10, 0); }

struct VoltageViewFixture {
    TempProgDir dir;
    ScriptedMessages messages;
    std::string path;
    RecordingChildServices services;
    std::unique_ptr<TShowVForm> view;

    explicit VoltageViewFixture(VoltageSeriesFields fields = {})
    {
        if (fields.start == 0) fields.start = ViewStart();
        path = WriteVoltageSeries(dir / "test.vme", fields);
        SelectVoltageSurvey(path, ViewStart() - 1, ViewStart() + 30);
    }
    TShowVForm& Open()
    {
        view = CreateTrendView<TShowVForm>(services.Context());
        view->show();
        QApplication::processEvents();
        return *view;
    }
};

// A view of a measure's records, written and selected over [from, to minute].
struct MeasureViewFixture {
    TempProgDir dir;
    ScriptedMessages messages;
    RecordingChildServices services;
    std::string path;

    MeasureViewFixture(int measure, const std::string& name, const std::vector<Bytes>& records, double from = ViewStart(),
                       double toMinute = ViewStart() + 1)
    {
        path = WriteDataFile(dir / name, records);
        SelectMeasureSurvey(measure, path, from, toMinute);
    }
    template <typename Form>
    std::unique_ptr<Form> Open()
    {
        std::unique_ptr<Form> view = CreateTrendView<Form>(services.Context());
        view->show();
        QApplication::processEvents();
        return view;
    }
};

// The values series `series` (1 to 6) of a view plots, in order.
std::vector<double> Plotted(const TTrendViewForm& view, int series);

// Traces 1 to `count` on statistic `item`, phases L1, L2, L3 in turn, offsets resolved.
TTraceSettings ChooseTraces(const TTrendViewForm& view, int count, int item = 2);

// What a shell command writes to its standard output (pdfinfo, pdftotext).
std::string CommandOutput(const std::string& command);
