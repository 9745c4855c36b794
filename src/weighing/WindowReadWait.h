#pragma once

#include "datastore/PatientReads.h"

#include <QObject>
#include <QString>

class StatusArea;

namespace weighing {

// While a read of the window waits for another desk's or program's lock: the window goes on
// painting and its timers run, the operator's keys and clicks are dropped and the window
// cannot be closed, and the status area says what the desk waits for. Installed for the whole
// program while it lives.
class WindowReadWait : public QObject, public datastore::ReadWait {
public:
    WindowReadWait(StatusArea* status, QObject* parent);
    ~WindowReadWait() override;

    void started() override;
    void pause(std::chrono::milliseconds pause) override;
    void ended() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    StatusArea* m_status;
    int m_depth = 0;
    QString m_noticeBefore;
};

} // namespace weighing
