// What every wrapper of a library object shares: its name in the recording,
// the call/answer lines around each forwarded call, and a life tied to the
// real object's reference count. The wrapper forwards AddRef and Release and
// answers with the real count; it dies exactly when the real count reaches 0.
#pragma once

#include <string>

#include "contract/TqDvManager.h"
#include "recorder/RecorderSession.h"

class ProxyLife {
public:
    ProxyLife(RecorderSession& session, char letter, const void* real, int kind);
    ~ProxyLife();
    ProxyLife(const ProxyLife&) = delete;
    ProxyLife& operator=(const ProxyLife&) = delete;

    const std::string& Name() const { return m_name; }

    // Records "call", runs the real call on this thread, records "ret" with its
    // status and what describe() says came back, and returns the status unchanged.
    template <class Call, class Describe>
    TqStatus Forward(const char* operation, const std::string& args, Call call, Describe describe) {
        m_session.Event("call " + m_name + " " + operation + (args.empty() ? "" : " " + args));
        const TqStatus status = call();
        const std::string out = describe(status);
        m_session.Event("ret " + m_name + " " + operation + " " + std::to_string(status) +
                       (out.empty() ? "" : " " + out));
        return status;
    }
    template <class Call>
    TqStatus Forward(const char* operation, const std::string& args, Call call) {
        return Forward(operation, args, call, [](TqStatus) { return std::string(); });
    }

    // Forwards a Release; true when the real object is gone (count 0) and the
    // wrapper must go with it. The wrapper table is held across the real call,
    // so a new object at the same address can never meet this wrapper.
    template <class Call>
    bool ForwardRelease(Call release, TqStatus& status) {
        std::lock_guard<std::mutex> lock(m_session.TableMutex());
        status = Forward("Release", "", release);
        if (status != 0) return false;
        m_session.Forget(m_real, m_kind);
        return true;
    }

protected:
    RecorderSession& m_session;

private:
    const std::string m_name;
    const void* const m_real;
    const int m_kind;
};
