#include "Clock.h"

namespace platform {
namespace {
std::function<QDateTime()>& sourceStore()
{
    static std::function<QDateTime()> source;
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

} // namespace platform
