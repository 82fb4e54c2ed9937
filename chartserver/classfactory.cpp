#include "classfactory.h"

#include "deleter.h"
#include "loader.h"
#include "pxerror.h"
#include "pxserverimage.h"
#include "pxserverprop.h"

namespace korva::pxserver {

std::shared_ptr<Dispatchable> CreateObject(std::string_view classId) {
    if (SameName(classId, "PXServer.PXServerProp")) return std::make_shared<PXServerProp>();
    if (SameName(classId, "PXServer.PXServerImage")) return std::make_shared<PXServerImage>();
    if (SameName(classId, "PXServer.Loader")) return std::make_shared<Loader>();
    if (SameName(classId, "PXServer.Deleter")) return std::make_shared<Deleter>();
    throw PxError(plot::kErrCannotCreate,
                  "Cannot create an object of unknown class " + std::string(classId));
}

} // namespace korva::pxserver
