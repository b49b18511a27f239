#pragma once
// The observation site dialog: chooses the current site from the site list
// places.dat and adds, edits and removes entries of that list. The chosen
// site goes into the observation state and lines 2 to 4 of mirelta.ini.

#include "astronomy/Rechn.h"
#include "setup/config_file.h"
#include "windowbase/dialog_protocol.h"

#include <functional>
#include <optional>
#include <string>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class TForm9;

class TForm3 : public MireltaDialog {
    Q_OBJECT
public:
    /// `refreshMainWindow` runs the main window's list selection after Ok.
    TForm3(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
           std::function<void()> refreshMainWindow);

    /// The coordinate entry dialog, created after this one.
    void SetCoordinateDialog(TForm9* form9) { form9_ = form9; }

    /// Refresh: runs at creation, at every opening and after every change of
    /// the list. Reads the stored site into the state and the dialog and
    /// fills the list.
    void FormCreate() override;
    /// Shows the clicked site; the state does not change.
    void ListBox1Click();
    /// Ok: the shown site becomes the current site.
    void Button1Click();
    /// Abbrechen: the stored site stays the current site.
    void Button2Click();
    /// entferne Auswahl: removes every record of the shown name.
    void Button3Click();
    /// bearbeite Auswahl: replaces every record of the shown name.
    void Button4Click();
    /// neuer Ort: appends a record.
    void Button5Click();

    QListWidget* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;

    /// Number texts of the shown site, kept as they stand in the files.
    std::string SiteLatitudeText;
    std::string SiteLongitudeText;

protected:
    /// A close request acts as Abbrechen.
    void CloseRequested() override { Button2Click(); }

private:
    void CreateControls();

    /// Which coordinate an entry asks for, with its prompt and limit.
    struct Coordinate;
    /// Runs the coordinate entry until its result is empty or within
    /// range; `fillFromText`, when not empty, fills the fields before every
    /// showing. Returns the result text, held by the coordinate dialog.
    const std::string& EnterCoordinate(const QString& caption, const Coordinate& coordinate,
                                       const std::string& fillFromText);
    /// Shows the coordinate dialog and waits, processing events, until it
    /// is hidden again.
    void RunCoordinateDialog(const QString& caption, const QString& prompt);
    void ClearCoordinateFields();
    /// Asks for the name, latitude and longitude of a new or edited site;
    /// nothing when an entry was cancelled or the name cannot be stored.
    /// The coordinate fields are filled from the fill texts when given.
    std::optional<StoredSite> AskForSite(const QString& caption, const QString& namePrompt, const QString& defaultName,
                                         const std::string& latitudeFill, const std::string& longitudeFill);
    /// Warns and returns false when `name` cannot be written to the list.
    bool NameCanBeStored(const QString& name);
    std::string ShownName() const;
    /// The refresh proper; FormCreate runs it and remembers its failure.
    void Refresh();

    /// What the last refresh failed with (empty after a good one), so that
    /// Abbrechen does not repeat a message the opening has just shown.
    std::string lastRefreshFailure_;

    ObservationState& state_;
    char decimalSeparator_;
    std::function<void()> refreshMainWindow_;
    TForm9* form9_ = nullptr;
};
