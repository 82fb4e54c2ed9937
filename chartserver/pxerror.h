#pragma once
// PxError: an error raised to the page by the component's own objects. It is
// the chart engine's ChartError (one kind of error, one list of numbers in
// charterrors.h), with the texts the component's own refusals use.
#include "chartcontrol.h"
#include "charterrors.h"

#include <string>

namespace korva::pxserver {

class PxError : public plot::ChartError {
public:
    PxError(int code, const std::string& text) : plot::ChartError(code, text) {}

    static PxError Overflow() { return {plot::kErrOverflow, "Overflow"}; }
    static PxError TypeMismatch() { return {plot::kErrTypeMismatch, "Type mismatch"}; }
    static PxError UnknownMember(const std::string& name) {
        return {plot::kErrUnknownMember, "Object doesn't support this property or method: " + name};
    }
    static PxError ArgumentCount(const std::string& name) {
        return {plot::kErrArgumentCount,
                "Wrong number of arguments or invalid property assignment: " + name};
    }
};

} // namespace korva::pxserver
