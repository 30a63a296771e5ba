#pragma once
// What both systems share around their own reading of a profile file: a reading whose values
// all come from the shared index, and the rule that a reading that throws (no memory for a huge
// file) is an unreadable file.
#include "platform/ProfileFile.h"
#include "platform/profile/ProfileIndex.h"

#include <functional>

namespace platform::profile {

class IndexedReading : public ProfileReading {
public:
    explicit IndexedReading(const ProfileText& text) : index(text) {}
    std::string value(const std::string& section, const std::string& key) const override {
        return index.value(section, key);
    }
    const std::vector<ProfileSectionLines>& lines() const override { return index.lines(); }
    ProfileEncoding encoding() const { return index.encoding(); }

private:
    ProfileIndex index;
};

std::shared_ptr<const ProfileReading>
guardedReading(const std::function<std::shared_ptr<const ProfileReading>()>& read);
bool guardedWrite(const std::function<bool()>& write);

} // namespace platform::profile
