#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/events/EventReceiver.h"
#include "engine/events/EventSender.h"
#include "engine/events/LaterSender.h"

namespace {

struct Ping {
    int value;
};
struct Pong {
    std::string text;
};

std::vector<std::string> g_log;

class PingLogger : public EVT::EventReceiver<Ping> {
public:
    explicit PingLogger(std::string name) : m_name(std::move(name)) {}
    void receive(const Ping& event) override { g_log.push_back(m_name + ":" + std::to_string(event.value)); }

private:
    std::string m_name;
};

class BothLogger : public EVT::EventReceiver<Ping>, public EVT::EventReceiver<Pong> {
public:
    void receive(const Ping& event) override { g_log.push_back("both-ping:" + std::to_string(event.value)); }
    void receive(const Pong& event) override { g_log.push_back("both-pong:" + event.text); }
};

class Events : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
};

TEST_F(Events, ReceiversGetEventsInRegistrationOrderWhateverWasCreatedFirst) {
    PingLogger before("before");
    EVT::EventSender<Ping> sender;
    PingLogger after("after");
    sender.send(Ping{1});
    EXPECT_EQ(g_log, (std::vector<std::string>{"before:1", "after:1"}));
}

TEST_F(Events, DestroyedReceiverIsRemovedAndTheOthersKeepTheirOrder) {
    EVT::EventSender<Ping> sender;
    EVT::EventSender<Ping> second;
    PingLogger a("a");
    auto b = std::make_unique<PingLogger>("b");
    PingLogger c("c");
    b.reset();
    sender.send(Ping{2});
    second.send(Ping{3});
    EXPECT_EQ(g_log, (std::vector<std::string>{"a:2", "c:2", "a:3", "c:3"}));
    EXPECT_EQ(EVT::EventRegistry<Ping>::instance().receiverCount(), 2u);
}

TEST_F(Events, SendWithoutReceiversDoesNothing) {
    EVT::EventSender<Ping> sender;
    sender.send(Ping{4});
    EXPECT_TRUE(g_log.empty());
}

TEST_F(Events, AReceiverOfTwoTypesGetsEachThroughItsOwnRegistry) {
    EVT::EventSender<Ping> pings;
    EVT::EventSender<Pong> pongs;
    BothLogger both;
    pings.send(Ping{5});
    pongs.send(Pong{"x"});
    EXPECT_EQ(g_log, (std::vector<std::string>{"both-ping:5", "both-pong:x"}));
}

TEST_F(Events, DestroyedSenderLeavesTheRegistry) {
    const size_t senders = EVT::EventRegistry<Pong>::instance().senderCount();
    { EVT::EventSender<Pong> sender; }
    EXPECT_EQ(EVT::EventRegistry<Pong>::instance().senderCount(), senders);
}

// A hand-built message root whose field 1 holds the event, as the game's event root does.
struct TestRoot : private flatbuffers::Table {
    const void* value() const { return GetPointer<const void*>(6); }
};
struct TestEvent : private flatbuffers::Table {
    int32_t number() const { return GetField<int32_t>(4, 0); }
};

class TestEventLogger : public EVT::EventReceiver<TestEvent> {
public:
    void receive(const TestEvent& event) override { g_log.push_back("later:" + std::to_string(event.number())); }
};

std::unique_ptr<flatbuffers::FlatBufferBuilder> finishedMessage(int32_t number) {
    auto builder = std::make_unique<flatbuffers::FlatBufferBuilder>();
    const auto eventStart = builder->StartTable();
    builder->AddElement<int32_t>(4, number, 0);
    const flatbuffers::Offset<void> event(builder->EndTable(eventStart));
    const auto rootStart = builder->StartTable();
    builder->AddElement<uint8_t>(4, 1, 0);
    builder->AddOffset(6, event);
    builder->Finish(flatbuffers::Offset<void>(builder->EndTable(rootStart)));
    return builder;
}

TEST_F(Events, LaterSenderDeliversQueuedMessagesAtFlushThenEmpties) {
    using Later = EVT::LaterSender<TestEvent, TestRoot>;
    TestEventLogger logger;
    Later::instance().flush();
    EXPECT_TRUE(g_log.empty());
    Later::instance().queue(finishedMessage(7));
    Later::instance().queue(finishedMessage(8));
    EXPECT_TRUE(g_log.empty());
    Later::instance().flush();
    Later::instance().flush();
    EXPECT_EQ(g_log, (std::vector<std::string>{"later:7", "later:8"}));
}

}  // namespace
