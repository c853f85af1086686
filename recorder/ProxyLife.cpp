#include "recorder/ProxyLife.h"

ProxyLife::ProxyLife(RecorderSession& session, char letter, const void* real, int kind)
    : m_session(session), m_name(session.NewName(letter)), m_real(real), m_kind(kind) {
    m_session.WrapperBorn();
}

ProxyLife::~ProxyLife() { m_session.WrapperDied(); }
