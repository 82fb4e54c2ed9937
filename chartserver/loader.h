#pragma once
// Loader: the component's session, unique-name and trace services, and the
// owner of the hidden form. Every method traces through ClsTracker.
#include "dispatchable.h"
#include "pxform.h"

#include <memory>
#include <string>

namespace korva::pxserver {

class Loader : public Dispatchable {
public:
    Loader();  // creates the hidden form and loads it
    ~Loader(); // hides and unloads it

    // Appends text as one line to "Tracker.txt" when flag is on.
    void ClsTracker(const std::string& text, bool flag) const;
    std::shared_ptr<PXForm> ClsForm();

    // Makes a session file (in folder, or by the session-folder rules when
    // folder is empty) and returns its full path; "" when none could be made.
    std::string ClsStart(bool flag, std::string folder);
    // Records file in the session; false (with a trace line) when the session
    // is not one of this component's or the record could not be written.
    bool AddFile(const std::string& session, const std::string& file, bool flag);
    // Makes an empty file "PX<hex>.TMP" in folder; "" when it could not.
    std::string UniqueFile(std::string folder, bool flag);
    // Ends session by mode: 0 hands it to pxfkill, -1 deletes its files and
    // itself, anything else deletes the session file only.
    bool ClsEnd(const std::string& session, int32_t mode, bool flag, int32_t keepSeconds);

    std::optional<MemberKind> Describe(std::string_view name) const override;
    Value Get(std::string_view name, std::optional<int16_t> index) override;
    void Put(std::string_view name, std::optional<int16_t> index, const Value& value) override;
    Value Call(std::string_view name, std::span<const Value> args) override;

private:
    std::string SessionFolder(bool flag);
    bool StartDelayedDelete(const std::string& session, int32_t keepSeconds, bool flag);

    std::shared_ptr<PXForm> form_;
};

} // namespace korva::pxserver
