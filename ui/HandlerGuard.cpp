#include "HandlerGuard.h"

#include "MessageBox.h"

#include <exception>

namespace corvane {

QString currentExceptionText()
{
    try {
        throw;
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

void reportHandlerFailure(const QString& text)
{
    showErrorBox(text);
}

} // namespace corvane
