#pragma once
// The adapter's states: one object per state, the current one answers every
// operation. The base answers -1 (and prints "####method undefined" for
// Refresh); each state overrides what it supports.
//
//   MVOXstat0 idle, MVOXstat1 playing, MVOXstat2 stopped, MVOXstat3 ended,
//   MVOXstat4 ready, MVOXstat9 forwarding (passes everything on to the state
//   it was entered from).
//
// Operations run on the caller's thread (the GUI thread, or the adapter's
// queue thread for Close); the states hold no data of their own but the
// origin link, which ChangeState sets under the adapter's state lock.

#include <atomic>
#include <cstdint>

namespace kyvo::player {

class ROVUAdap;

class ROVUState {
public:
    explicit ROVUState(ROVUAdap& adapter) : adapter_(adapter) {}
    virtual ~ROVUState() = default;
    ROVUState(const ROVUState&) = delete;
    ROVUState& operator=(const ROVUState&) = delete;

    virtual int Load(const char* libraryPath);
    virtual int Close();
    virtual int Open(const char* first, const char* second);
    virtual int LoadFile(const char* first, const char* second);
    virtual int Pause();
    virtual int SkipEntry();
    virtual int TogglePause();
    virtual int FrameStep();
    virtual int Seek(float seconds, bool relative);
    virtual int SetSpeed(float value, bool incremental);
    virtual int ScaleSpeed(float value, bool multiply);
    virtual int SetVolume(float value, bool relative);
    virtual int SetVideoRect(std::uint8_t channel, std::int16_t x, std::int16_t y, std::int16_t width,
                             std::int16_t height);
    virtual int SetPopupRect(std::uint8_t channel, std::int16_t x, std::int16_t y, std::int16_t width,
                             std::int16_t height);
    virtual int Refresh(int window);
    virtual int StateId() const = 0;
    // Sleeps the caller for 10 ms. State changes that an operation asks for
    // are carried out by the adapter's queue thread (the MVOXQ ring), and
    // commands reach the library's player thread through its queue: the
    // pause lets both take the operation in before the owner sends the next
    // one, so that the next operation meets the state the last one led to.
    // Owners call it after each operation, through ROVUAdap::operate().
    virtual void Yield();

    ROVUState* origin() const { return origin_.load(); }
    void setOrigin(ROVUState* origin) { origin_.store(origin); }

protected:
    ROVUAdap& adapter_;
    std::atomic<ROVUState*> origin_{nullptr};
};

class MVOXstat0 : public ROVUState { // idle
public:
    using ROVUState::ROVUState;
    int Load(const char* libraryPath) override;
    int Close() override;
    int Open(const char* first, const char* second) override;
    int LoadFile(const char* first, const char* second) override;
    int SetVideoRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int SetPopupRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int StateId() const override { return 0; }
};

class MVOXstat1 : public ROVUState { // playing
public:
    using ROVUState::ROVUState;
    int Close() override;
    int LoadFile(const char* first, const char* second) override;
    int Pause() override;
    int SkipEntry() override;
    int TogglePause() override;
    int FrameStep() override;
    int Seek(float seconds, bool relative) override;
    int SetSpeed(float value, bool incremental) override;
    int ScaleSpeed(float value, bool multiply) override;
    int SetVolume(float value, bool relative) override;
    int SetVideoRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int SetPopupRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int Refresh(int window) override;
    int StateId() const override { return 1; }
};

class MVOXstat2 : public ROVUState { // stopped
public:
    using ROVUState::ROVUState;
    int Close() override;
    int StateId() const override { return 2; }
};

class MVOXstat3 : public ROVUState { // ended
public:
    using ROVUState::ROVUState;
    int Close() override;
    int Open(const char* first, const char* second) override;
    int LoadFile(const char* first, const char* second) override;
    int Pause() override;
    int SetSpeed(float value, bool incremental) override;
    int ScaleSpeed(float value, bool multiply) override;
    int SetVideoRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int SetPopupRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int Refresh(int window) override;
    int StateId() const override { return 3; }
};

class MVOXstat4 : public ROVUState { // ready
public:
    using ROVUState::ROVUState;
    int Close() override;
    int Open(const char* first, const char* second) override;
    int LoadFile(const char* first, const char* second) override;
    int Pause() override;
    int SetVideoRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int SetPopupRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int StateId() const override { return 4; }
};

class MVOXstat9 : public ROVUState { // forwarding
public:
    using ROVUState::ROVUState;
    int Load(const char* libraryPath) override;
    int Close() override;
    int Open(const char* first, const char* second) override;
    int LoadFile(const char* first, const char* second) override;
    int Pause() override;
    int SkipEntry() override;
    int TogglePause() override;
    int FrameStep() override;
    int Seek(float seconds, bool relative) override;
    int SetSpeed(float value, bool incremental) override;
    int ScaleSpeed(float value, bool multiply) override;
    int SetVolume(float value, bool relative) override;
    int SetVideoRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int SetPopupRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) override;
    int Refresh(int window) override;
    int StateId() const override { return 9; }

private:
    // The state to pass to; idle when there is none.
    ROVUState& target() const;
};

} // namespace kyvo::player
