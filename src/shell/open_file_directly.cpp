#include "shell/open_file_directly.h"

#include "messages/message_boxes.h"
#include "messages/status_sink.h"
#include "shell/app_settings.h"

namespace zav {

namespace {

// Boxes that only inform become lines of the message list: nobody asked for this load in a
// dialog, so a box popping up at start would have no context.
class MessageListBoxes final : public MessageBoxes {
public:
    MessageListBoxes(StatusSink& status, MessageBoxes& questions) : status_(status), questions_(questions) {}

    BoxAnswer Show(const BoxRequest& request) override
    {
        if (request.buttons != BoxButtons::Ok) return questions_.Show(request);
        const bool error = request.kind == BoxKind::Error || request.kind == BoxKind::Warning;
        status_.AddStatusMessage(request.text, error ? StatusKind::Error : StatusKind::Normal);
        return BoxAnswer::Ok;
    }

private:
    StatusSink& status_;
    MessageBoxes& questions_;
};

} // namespace

OpenResult LoadChosenFile(OpenFileDialog& dialog, MemoryBuffer& buffer, ProgramSettings& settings, StatusSink& status,
                          MessageBoxes& boxes)
{
    const OpenResult result = dialog.Ok(buffer, status, boxes);
    if (result == OpenResult::Loaded) AddRecentFile(settings, dialog.Path());
    return result;
}

OpenResult OpenFileDirectly(const std::string& path, MemoryBuffer& buffer, ProgramSettings& settings,
                            StatusSink& status, MessageBoxes& boxes)
{
    MessageListBoxes listBoxes(status, boxes);
    OpenFileDialog dialog;
    if (!dialog.ChoosePath(path, listBoxes)) return OpenResult::Failed;
    return LoadChosenFile(dialog, buffer, settings, status, listBoxes);
}

} // namespace zav
