// Shared set-up of the window tests: a voltage survey in a temporary program folder, and a
// voltage view opened on it, shown offscreen at its creation size.
#pragma once

#include "fixtures/child_context_fixture.h"
#include "fixtures/on_modal.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/view_fixture.h"
#include "platform/scripted_messages.h"
#include "views/show_v_form.h"

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

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

// Traces 1 to `count` on statistic `item`, phases L1, L2, L3 in turn, offsets resolved.
TTraceSettings ChooseTraces(const TTrendViewForm& view, int count, int item = 2);

// What a shell command writes to its standard output (pdfinfo, pdftotext).
std::string CommandOutput(const std::string& command);
