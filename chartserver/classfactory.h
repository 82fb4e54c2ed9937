#pragma once
// ClassFactory: makes the component's objects by class identifier, the way
// pages and the component itself create them ("PXServer.PXServerProp",
// "PXServer.PXServerImage", "PXServer.Loader", "PXServer.Deleter"; compared
// without regard to case).
#include "dispatchable.h"

#include <memory>
#include <string_view>

namespace korva::pxserver {

// Throws PxError 429 for an unknown class identifier.
std::shared_ptr<Dispatchable> CreateObject(std::string_view classId);

} // namespace korva::pxserver
