// The message-box recorder installed for one window test.
#pragma once

#include "base/ui/dialogs.h"

#include <QString>
#include <memory>

namespace qv::test {

// Installs a RecordingDialogs for the lifetime of the object and puts the
// previous service back afterwards.
class RecordedBoxes {
public:
    RecordedBoxes();
    ~RecordedBoxes();
    RecordedBoxes(const RecordedBoxes&) = delete;
    RecordedBoxes& operator=(const RecordedBoxes&) = delete;
    RecordingDialogs* operator->() { return shown_; }
    RecordingDialogs* recorder() const { return shown_; }
    // The text of the last box, or empty.
    QString last() const;

private:
    RecordingDialogs* shown_;
    std::unique_ptr<Dialogs> previous_;
};

} // namespace qv::test
