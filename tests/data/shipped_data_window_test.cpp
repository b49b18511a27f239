// The program's windows on the shipped data files: they start without an
// error, every catalogue text fits the place that shows it, and choosing a
// well-known formation puts the selection marker on it on the map.

#include "catalogue/catalogue.h"
#include "map/map_geometry.h"
#include "tests/data/shipped_files.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <cmath>

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

class ShippedDataWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    // Chooses `name` in the object list as a typed entry does.
    void Choose(const QString& name)
    {
        TForm1& w = f->main();
        w.ComboBox1->setEditText(name);
        w.ComboBox1Change();
    }

private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        for (const char* name : {kCatalogueFileName, "places.dat", "mirelta.ini"}) CopyShippedFile(name);
        f->Start();
    }
    void cleanup() { f.reset(); }

    void startsWithoutErrors()
    {
        QVERIFY2(f->messages.messages().isEmpty(), qPrintable(f->messages.lastText()));
        // The shipped settings name a site of the shipped list, loaded at start.
        QVERIFY(!f->state.SiteName.empty());
        QVERIFY(f->state.Latitude > 45 && f->state.Latitude < 56);
        QVERIFY(f->state.Longitude > 5 && f->state.Longitude < 18);
        QCOMPARE(f->main().ComboBox1->count(), int(ReadAllObjects().size()));
        SaveScreenshot(f->main(), QStringLiteral("shipped_start"));
    }

    void everyNameAndDescriptionFitsItsPlace()
    {
        TForm1& w = f->main();
        QLineEdit* listText = w.ComboBox1->lineEdit();
        QStringList tooWide;
        auto check = [&](QWidget* place, const QString& text) {
            if (place->fontMetrics().horizontalAdvance(text) > place->width())
                tooWide << place->objectName() + QStringLiteral(": ") + text;
        };
        for (const LunarObject& object : ReadAllObjects()) {
            check(listText, FromUtf8(object.Name));
            check(w.Label5, FromUtf8(object.Name));
            for (const std::string* line : {&object.Description1, &object.Description2, &object.Description3})
                check(w.Label13, FromUtf8(*line));
        }
        QVERIFY2(tooWide.isEmpty(), qPrintable(tooWide.join(QStringLiteral("\n"))));
    }

    void choosingAFormationPutsTheMarkerOnIt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::newRow("Tycho") << QStringLiteral("Tycho") << -43.3 << -11.4;
        QTest::newRow("Copernicus") << QStringLiteral("Copernicus") << 9.6 << -20.1;
        QTest::newRow("Plato") << QStringLiteral("Plato") << 51.6 << -9.4;
        QTest::newRow("Mare Crisium") << QStringLiteral("Mare Crisium") << 16.2 << 59.1;
        QTest::newRow("Mons Piton") << QStringLiteral("Mons Piton") << 40.7 << -0.9;
    }

    void choosingAFormationPutsTheMarkerOnIt()
    {
        QFETCH(QString, name);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        TForm1& w = f->main();
        Choose(name);
        QCOMPARE(w.Label5->text(), name);
        QVERIFY(!w.Cursor2->isHidden());
        QPoint marker = w.Cursor2->pos() + QPoint(MarkerCentre - TForm1::kMapLeft, MarkerCentre - TForm1::kMapTop);
        MapPixel expected = MapPixelOf(latitude, longitude);
        QVERIFY2(std::hypot(marker.x() - expected.x, marker.y() - expected.y) <= 2.0,
                 qPrintable(QStringLiteral("marker at %1, %2, formation at %3, %4")
                                .arg(marker.x())
                                .arg(marker.y())
                                .arg(expected.x)
                                .arg(expected.y)));
        SaveScreenshot(w, QStringLiteral("shipped_") + name.toLower().replace(QLatin1Char(' '), QLatin1Char('_')));
    }

    // The lit map and the window "Lichtgrenze" on the shipped catalogue:
    // no error, and every text fits its column.
    void theTerminatorWindowFitsItsTexts_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("hour");
        QTest::newRow("waxing gibbous") << 15 << 3 << 20;
        QTest::newRow("first quarter") << 9 << 4 << 22;
        QTest::newRow("waning") << 22 << 3 << 4;
    }

    void theTerminatorWindowFitsItsTexts()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, hour);
        TForm1& w = f->main();
        w.UhrzeitMitfuehren1->setChecked(false);  // the time set here, not the clock's
        f->state.Day = static_cast<std::uint16_t>(day);
        f->state.Month = static_cast<std::uint16_t>(month);
        f->state.Hour = static_cast<std::uint16_t>(hour);
        const QString date =
            QStringLiteral("2003-%1-%2").arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0'));
        w.BeleuchtungaufderKarte1->trigger();
        SaveScreenshot(w, QStringLiteral("lit_map_") + date);
        w.Lichtgrenzeheute1->trigger();
        TerminatorWindow& window = *f->windows->Terminator;
        QVERIFY2(f->messages.messages().isEmpty(), qPrintable(f->messages.lastText()));
        QTreeView* list = window.FormationList;
        const QAbstractItemModel& rows = *list->model();
        QVERIFY(rows.rowCount() > 10);

        QStringList tooWide;
        const QFontMetrics metrics = list->fontMetrics();
        constexpr int kCellMargins = 8;  // the text's inset on both sides of a cell
        for (int column = 0; column < TerminatorWindow::ColumnCount; ++column) {
            const int room = list->columnWidth(column) - kCellMargins;
            const QString heading = rows.headerData(column, Qt::Horizontal).toString();
            if (list->header()->fontMetrics().horizontalAdvance(heading) > room) tooWide << heading;
            for (int row = 0; row < rows.rowCount(); ++row) {
                const QString text = rows.index(row, column).data().toString();
                if (metrics.horizontalAdvance(text) > room) tooWide << text;
            }
        }
        for (QLabel* label : {window.HeadingLabel, window.CountLabel})
            if (label->fontMetrics().horizontalAdvance(label->text()) > label->width()) tooWide << label->text();
        QVERIFY2(tooWide.isEmpty(), qPrintable(tooWide.join(QStringLiteral("\n"))));
        QVERIFY(list->viewport()->width() >= list->header()->length());  // no sideways scrolling

        SaveScreenshot(window, QStringLiteral("lichtgrenze_") + date);
        window.OkButton->click();
    }
};

QTEST_MAIN(ShippedDataWindowTest)
#include "shipped_data_window_test.moc"
