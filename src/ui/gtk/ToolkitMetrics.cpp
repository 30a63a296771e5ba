#include "ui/ToolkitMetrics.h"

namespace toolkit {

int comboFieldHeight(wxWindow*) {
    return -1;
}

} // namespace toolkit
