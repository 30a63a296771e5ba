#include "platform/SystemMessageBox.h"

namespace platform {

std::optional<BoxAnswer> showSystemMessageBox(void*, const std::string&, const std::string&,
                                              BoxButtons, BoxIcon, bool) {
    return std::nullopt;
}

} // namespace platform
