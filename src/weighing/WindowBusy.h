#pragma once

#include <QObject>

class QWidget;

namespace weighing {

// What a window is waiting for while one of its requests is under way.
enum class WaitFor { Scale, Database };

// While a window waits (for the scale's reply, for a database that another desk or program is
// using), the operator's keys and clicks meant for it are dropped, never kept for later: they
// were meant for a window that changes under them. Those of a message box or dialog opened
// meanwhile go through, so that whatever opens while the window waits can be answered. The
// window cannot be closed until the wait ends. Nothing runs nested: a wait ends when its
// request ends, from the event loop.
class WindowBusy : public QObject {
    Q_OBJECT
public:
    explicit WindowBusy(QWidget* window);
    ~WindowBusy() override;

    void hold(WaitFor what);
    void release(WaitFor what);
    bool waiting() const { return m_scaleHolds + m_databaseHolds > 0; }
    bool waitingFor(WaitFor what) const { return holdsOf(what) > 0; }

signals:
    // The window began or ended waiting for something.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int& holdsOf(WaitFor what) { return what == WaitFor::Scale ? m_scaleHolds : m_databaseHolds; }
    int holdsOf(WaitFor what) const
    {
        return what == WaitFor::Scale ? m_scaleHolds : m_databaseHolds;
    }
    bool meantForWindow(QObject* receiver) const;

    QWidget* m_window;
    int m_scaleHolds = 0;
    int m_databaseHolds = 0;
};

} // namespace weighing
