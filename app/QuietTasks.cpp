#include "app/QuietTasks.h"

#include "app/Association.h"
#include "app/logic/Association.h"
#include "app/logic/Texts.h"
#include "app/win/Services.h"
#include "app/win/WinUtil.h"

namespace kv::app {

int RunQuietTask(QuietTask task) {
    std::string command = OpenCommand(ProgramPath());
    bool done = false;
    try {
        if (task == QuietTask::Associate)
            done = RegisterFileType(kCharacterExtension, kCharacterProgId, kAssociationDescription,
                                    "", command);
        else if (task == QuietTask::Unassociate)
            done = UnregisterFileType(kCharacterExtension, kCharacterProgId, command);
    } catch (const AppError&) {
        done = false; // quiet: the exit code is the whole report
    }
    if (done) NotifyAssociationsChanged();
    return done ? 0 : 1;
}

} // namespace kv::app
