// The window's sound devices on a machine that may have no sound card: a tune
// still lasts as long as it plays, so PLAY waits for it as with speakers.
#include "gui/app/desktop_sound.h"

#include "core/sound/sound_interfaces.h"

#include <QElapsedTimer>
#include <QTest>

namespace kelto::gui {

class TDesktopSoundTest : public QObject {
    Q_OBJECT
private slots:
    void TunesKeepTheirTimeWithOrWithoutASoundCard()
    {
        const std::unique_ptr<TDesktopSound> sound = CreateDesktopSound();
        IToneGenerator* tone = sound->Devices().ToneGenerator;
        QVERIFY(tone != nullptr);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(tone->PlayString("C4;10,10;E4;10"));
        QVERIFY(tone->IsPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(!tone->IsPlaying(), 3000);
        QVERIFY2(clock.elapsed() >= 190, qPrintable(QString::number(clock.elapsed())));
    }
};

} // namespace kelto::gui

QTEST_MAIN(kelto::gui::TDesktopSoundTest)
#include "desktop_sound_test.moc"
