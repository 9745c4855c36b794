#pragma once

#include "VillageSearch.h"
#include "datastore/ShiftDatabase.h"
#include "datastore/ShiftQueries.h"

#include <QFrame>
#include <QHash>
#include <QPointer>
#include <QSqlQuery>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QSqlQueryModel;

namespace Ui {
class VillageLookup;
}
namespace formkit {
class FieldEvents;
class PasteGuard;
}
namespace weighing {
class CompanyWork;
}

// The village lookup panel (fmVill): the operator narrows the route's active villages by the
// start of a code or a name and picks one. It is opened from the village code or name field of
// the weighing window, with the route chosen there, and tells the window what was picked or
// that the operator cancelled; the window fills its own fields and moves its own focus.
class VillageLookup : public QFrame {
    Q_OBJECT
public:
    // Which field opened the panel (VillFrom); the focus goes back there after a pick.
    enum From : quint8 { FromNone = 0, FromCode = 1, FromName = 2 };
    static constexpr int kSearchLimit = 100;

    explicit VillageLookup(QWidget* parent = nullptr);
    ~VillageLookup() override;
    VillageLookup(const VillageLookup&) = delete;
    VillageLookup& operator=(const VillageLookup&) = delete;

    // The window's work, through which the panel reads the company year.
    void setCompanyWork(weighing::CompanyWork* work) { m_work = work; }
    // The window's paste guard: every way of pasting into the watched fields and the search
    // boxes goes through the panel (after watchField).
    void usePasteGuard(formkit::PasteGuard* guard);

    // The village code or name field whose keys and pastes open the panel; route() gives the
    // key of the route chosen at that moment, none when no route is chosen.
    void watchField(QLineEdit* field, From from, std::function<std::optional<int>()> route);

    // Opens the panel with text in the search box of the field it came from.
    void open(From from, const QString& text, std::optional<int> route);
    From villFrom() const { return m_from; }

    // Where the panel opens, from the left of the window it lies in (over its right-hand part).
    void setPanelLeft(int left) { m_panelLeft = left; }
    void fmVill_Visible();
    void Load_Items();
    void cmdOk_Click();
    void cmdCan_Click();

signals:
    // The pick: the village now in the entry row (ref 0 and empty texts when none). closing is
    // false when the list had no current row; the panel then stays open.
    void picked(const datastore::Village& village, bool closing);
    void cancelled();
    // A passing notice for the window's status line (a paste that was refused).
    void notice(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireList();
    void wireKeys();
    struct Watched {
        From from;
        std::function<std::optional<int>()> route;
    };
    void search(const QString& field, const QString& text);
    void showVillages(QSqlQuery&& villages);
    void pick(const datastore::Village& village);
    QString captionOf(const QLineEdit* box) const;
    void openWithPaste(const Watched& opener, const QString& pasted);
    void pasteIntoSearchBox(QLineEdit* box, const QString& pasted);

    std::unique_ptr<Ui::VillageLookup> ui;
    formkit::FieldEvents* m_fields;
    QSqlQueryModel* m_villages;
    weighing::CompanyWork* m_work = nullptr;
    // The list's own connection: it stays open while the list shows its query, and is opened
    // again when the server connection was lost under it.
    datastore::ShiftDatabase m_con{datastore::ShiftDatabase::Keep::Always};
    QHash<QObject*, Watched> m_watched;
    From m_from = FromNone;
    std::optional<int> m_route;
    QString m_searchField; // SearchField: "VCode" or "VName"
    QString m_searchText;  // SearchText
    int m_panelLeft;
};
