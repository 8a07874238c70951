#include "files/buffer_file_saver.h"

#include <string>

#include "buffer/memory_buffer.h"
#include "files/buffer_file_content.h"
#include "files/safe_file_writer.h"
#include "messages/status_sink.h"

namespace zav {

bool SaveBufferFile(const std::filesystem::path& path, FileFormat format, const SaveOptions& options,
                    MemoryBuffer& buffer, StatusSink& status, const SaveRules& rules)
{
    const std::string name = path.string();
    status.AddStatusMessage("Writing file : " + name, StatusKind::Normal);

    std::string content;
    std::string refusal;
    if (!FormatBufferFile(buffer, format, options, content, refusal)) {
        status.AddStatusMessage("Write file refused : " + name + " : " + refusal, StatusKind::Error);
        return false;
    }
    std::string failure;
    SaveRules told = rules;
    told.onOldContentKept = [&](const std::filesystem::path& copy) {
        status.AddStatusMessage("Writing over " + name + " in place; its old content is kept in " +
                                    copy.string(),
                                StatusKind::Warning);
        if (rules.onOldContentKept) rules.onOldContentKept(copy);
    };
    if (!WriteFileSafely(path, content, failure, told)) {
        status.AddStatusMessage("Write file failed : " + name + " : " + failure, StatusKind::Error);
        return false;
    }
    status.AddStatusMessage("Write file complete", StatusKind::Normal);
    buffer.MarkSaved();
    return true;
}

} // namespace zav
