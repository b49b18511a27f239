// The program's side of the check of the window "Mond im Okular"
// (check_eyepiece.mjs): reads cases, one per line as
//   name year month day hour minute latitude longitude zenithUp mirrored rotated180
// (MEZ, degrees, the three switches 0 or 1), opens the real window for each,
// offscreen, with the catalogue of the data folder, and writes into the
// picture folder
//   name.png       the window as it shows the case
//   name_view.ppm  its picture of the Moon with names and marks
//   name_flat.pgm  the same picture drawn from an albedo map of one grey, so
//                  that only the light and the limb make edges in it
// and on standard output one line per case:
//   name centreX centreY pixelsPerArcsecond upAngle mirrored width height
// (the disc's centre in picture pixels, the picture's scale, the position
// angle shown up, degrees, 1 when mirrored).
//
//   eyepiece_pictures <data folder> <picture folder> < cases

#include "app/application.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// Copies the data files into the working folder and makes it current.
bool SeedWorkingFolder(const QString& data, const QString& folder)
{
    for (const char* name : {"mirelta.ini", "places.dat", "objects.dat"})
        if (!QFile::copy(data + QLatin1Char('/') + QLatin1String(name),
                         folder + QLatin1Char('/') + QLatin1String(name)))
            return false;
    return QDir::setCurrent(folder);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The preferences are kept with QSettings: never in the user's own file.
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    PrepareApplication();
    if (argc != 3) {
        std::fprintf(stderr, "usage: eyepiece_pictures <data folder> <picture folder> < cases\n");
        return 2;
    }
    const QString data = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString pictures = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QTemporaryDir workingFolder;
    if (!workingFolder.isValid() || !QDir().mkpath(pictures) || !SeedWorkingFolder(data, workingFolder.path()))
        return 1;

    class QuietMessages : public MessageService {
    public:
        void Show(const QString& caption, const QString& text, MessageIcon) override
        {
            std::fprintf(stderr, "message box \"%s\": %s\n", qPrintable(caption), qPrintable(text));
        }
        bool Confirm(const QString&, const QString&) override { return false; }
        QString Prompt(const QString&, const QString&, const QString& defaultText) override { return defaultText; }
    } messages;
    ObservationState state;
    std::unique_ptr<MireltaWindows> windows = CreateWindows(state, messages, ',');
    windows->Form1->show();
    // The cases' own moments, not the computer's clock.
    windows->Form1->UhrzeitMitfuehren1->setChecked(false);
    EyepieceWindow& window = *windows->Eyepiece;

    std::string name;
    int year, month, day, hour, minute, zenithUp, mirrored, rotated;
    double latitude, longitude;
    while (std::cin >> name >> year >> month >> day >> hour >> minute >> latitude >> longitude >> zenithUp >>
           mirrored >> rotated) {
        state.Year = year;
        state.Month = month;
        state.Day = day;
        state.Hour = hour;
        state.Minute = minute;
        state.Latitude = latitude;
        state.Longitude = longitude;
        state.SiteName.clear();
        (zenithUp ? window.ZenithUpButton : window.NorthUpButton)->setChecked(true);
        window.MirroredBox->setChecked(mirrored != 0);
        window.Rotated180Box->setChecked(rotated != 0);
        window.OrientationClick();
        windows->Form1->MondimOkular1Click();
        window.WholeMoonClick();
        QApplication::processEvents();

        const QString base = pictures + QLatin1Char('/') + QString::fromStdString(name);
        window.grab().save(base + QStringLiteral(".png"));
        window.View->grab().toImage().convertToFormat(QImage::Format_RGB888).save(base + QStringLiteral("_view.ppm"));

        const EyepieceFrame frame = window.View->Frame();
        const std::uint8_t grey = 200;
        const AlbedoTexture flat(AlbedoMap{1, 1, &grey, 1});
        QImage picture(frame.Width, frame.Height, QImage::Format_RGB32);
        EyepieceRenderer(window.Globe())
            .Render(flat, frame, reinterpret_cast<std::uint32_t*>(picture.bits()),
                    static_cast<int>(picture.bytesPerLine() / 4), 0, frame.Height);
        picture.convertToFormat(QImage::Format_Grayscale8).save(base + QStringLiteral("_flat.pgm"));

        std::printf("%s %.4f %.4f %.9f %.6f %d %d %d\n", name.c_str(), frame.CentreX, frame.CentreY,
                    frame.Transform.PixelsPerArcsecond(), frame.Transform.UpAngle(), frame.Transform.Mirrored() ? 1 : 0,
                    frame.Width, frame.Height);
        std::fflush(stdout);
    }
    return 0;
}
