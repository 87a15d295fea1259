#pragma once
// A frame client that records what reaches the screen manager. The record
// lives outside the client, so it outlasts the shutdown that destroys it.

#include <memory>
#include <vector>

#include "app/frame_client.h"

struct RecordedMessage {
    std::uint32_t message;
    platform::WParam wParam;
    platform::LParam lParam;
    int updatesBefore;  // logic steps taken before the message arrived
};

struct Recording {
    std::vector<RecordedMessage> messages;
    std::vector<int> stepMs;
    int updates = 0;
    int draws = 0;
    int quitAfter = -1;
};

class RecordingClient : public FrameClient {
public:
    explicit RecordingClient(std::shared_ptr<Recording> record) : record_(std::move(record)) {}
    void handleWindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) override {
        record_->messages.push_back({message, wParam, lParam, record_->updates});
    }
    int update(int milliseconds) override {
        record_->stepMs.push_back(milliseconds);
        ++record_->updates;
        return record_->quitAfter >= 0 && record_->updates >= record_->quitAfter ? 1 : 0;
    }
    void draw() override { ++record_->draws; }

private:
    std::shared_ptr<Recording> record_;
};
