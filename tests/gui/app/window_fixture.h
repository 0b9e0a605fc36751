// A fresh main window per test, with scripted dialogs and its settings in a
// temporary folder that goes with it.
#pragma once

#include "gui/app/form_kelto_simu.h"
#include "gui/editor/flow_chart_view.h"
#include "scripted_dialogs.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace kelto::gui::testing {

class TWindowFixture {
protected:
    std::unique_ptr<TScriptedDialogs> FDialogs;
    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<QSettings> FSettings;
    std::unique_ptr<TFormKeltoSimu> FForm;

    TFormKeltoSimu& Form() { return *FForm; }
    TSimuBoard& Board() { return FForm->Board(); }
    QWidget* Canvas() { return FForm->dxFlowChart1->viewport(); }
    QString PathOf(const QString& name) const { return FDir->filePath(name); }

    // Shown but not yet waited for: tests wait for what they need.
    void OpenWindow()
    {
        FDir = std::make_unique<QTemporaryDir>();
        FDialogs = std::make_unique<TScriptedDialogs>();
        FSettings = std::make_unique<QSettings>(PathOf("settings.ini"), QSettings::IniFormat);
        FForm = std::make_unique<TFormKeltoSimu>(*FDialogs, *FSettings);
        FForm->show();
    }
    void CloseWindow()
    {
        FForm.reset();
        FSettings.reset();
        FDialogs.reset();
        FDir.reset();
    }
    void FinishSpeedTest()
    {
        Form().TimerPerfTest.start(0);
        QTRY_VERIFY(!Form().SpeedTestRunning());
    }
    QPoint PinPoint(const TSimuPart& part, int pin)
    {
        const TPoint at = part.PinPoint(pin);
        return FForm->dxFlowChart1->ClientRect({at.X, at.Y, at.X, at.Y}).topLeft();
    }
};

} // namespace kelto::gui::testing
