#include "Clock.h"

#include <QElapsedTimer>

namespace platform {
namespace {
std::function<QDateTime()>& sourceStore()
{
    static std::function<QDateTime()> source;
    return source;
}
std::function<qint64()>& steadyStore()
{
    static std::function<qint64()> source;
    return source;
}
} // namespace

QDateTime now()
{
    return sourceStore() ? sourceStore()() : QDateTime::currentDateTime();
}
QDate today()
{
    return now().date();
}
QTime timeOfDay()
{
    return now().time();
}

void setClock(std::function<QDateTime()> source)
{
    sourceStore() = std::move(source);
}

qint64 steadyMs()
{
    if (steadyStore())
        return steadyStore()();
    static QElapsedTimer sinceStart;
    if (!sinceStart.isValid())
        sinceStart.start();
    return sinceStart.elapsed();
}

void setSteadyClock(std::function<qint64()> source)
{
    steadyStore() = std::move(source);
}

} // namespace platform
