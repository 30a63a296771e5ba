#include "audio/OggStreamEnd.h"

#include <ogg/ogg.h>

#include <set>

bool everyOggStreamEnds(std::FILE* input, const std::function<bool()>& stopped) {
    constexpr long kPieceBytes = 1 << 16;
    std::rewind(input);
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    std::set<int> open;
    bool anyBegun = false;
    bool stoppedEarly = false;
    for (;;) {
        if (stopped && stopped()) {
            stoppedEarly = true;
            break;
        }
        ogg_page page;
        while (ogg_sync_pageout(&sync, &page) == 1) {
            const int serial = ogg_page_serialno(&page);
            if (ogg_page_bos(&page) != 0) {
                open.insert(serial);
                anyBegun = true;
            }
            if (ogg_page_eos(&page) != 0)
                open.erase(serial);
        }
        char* buffer = ogg_sync_buffer(&sync, kPieceBytes);
        const std::size_t count = std::fread(buffer, 1, kPieceBytes, input);
        if (count == 0)
            break;
        ogg_sync_wrote(&sync, static_cast<long>(count));
    }
    const bool readFailed = std::ferror(input) != 0;
    ogg_sync_clear(&sync);
    std::rewind(input);
    return !readFailed && !stoppedEarly && anyBegun && open.empty();
}
