#include "WindowReadWait.h"

#include "StatusArea.h"

#include "platform/OperatorInput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

namespace weighing {
namespace {
// How often a pause looks at the clock while nothing else happens.
constexpr std::chrono::milliseconds kPauseSlice{5};
} // namespace

WindowReadWait::WindowReadWait(StatusArea* status, QObject* parent)
    : QObject(parent), m_status(status)
{
    datastore::setReadWait(this);
}

WindowReadWait::~WindowReadWait()
{
    if (datastore::readWait() == this)
        datastore::setReadWait(nullptr);
}

void WindowReadWait::started()
{
    if (m_depth++ > 0)
        return;
    QCoreApplication::instance()->installEventFilter(this);
    m_noticeBefore = m_status->notice();
    m_status->setNotice(StatusArea::databaseWaitNotice());
}

void WindowReadWait::pause(std::chrono::milliseconds pause)
{
    QElapsedTimer elapsed;
    elapsed.start();
    // Wakes the event wait below now and then, so that the pause ends on time also when
    // nothing else happens.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(kPauseSlice);
    while (std::chrono::milliseconds(elapsed.elapsed()) < pause)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void WindowReadWait::ended()
{
    if (--m_depth > 0)
        return;
    // Input the window system still holds from the wait goes the same way.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::instance()->removeEventFilter(this);
    if (m_status->notice() == StatusArea::databaseWaitNotice())
        m_status->setNotice(m_noticeBefore);
}

bool WindowReadWait::eventFilter(QObject* watched, QEvent* event)
{
    if (platform::isOperatorInput(event->type()))
        return true;
    if (event->type() == QEvent::Close) {
        // A handler of the window is still reading: it cannot go yet.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace weighing
