#include "platform/runtime/RunHandler.h"

#include "platform/runtime/HandlerScope.h"
#include "platform/windows/Seam.h"

#include <exception>
#include <string>
#include <typeinfo>

void RunHandler(const std::function<void()>& handler)
{
    const HandlerScope scope;
    std::string report;
    try {
        handler();
        return;
    } catch (const std::exception& e) {
        report = std::string("An unexpected error occurred and the last action was not finished.\r(")
            + e.what() + ")";
    } catch (...) {
        report = "An unexpected error occurred and the last action was not finished.";
    }
    try {
        MsgBox(report);
    } catch (...) {
    }
}
