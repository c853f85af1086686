#include "recorder/ProxyLife.h"

ProxyLife::ProxyLife(RecorderSession& session, char letter, const void* real, int kind)
    : session_(session), name_(session.NewName(letter)), real_(real), kind_(kind) {
    session_.WrapperBorn();
}

ProxyLife::~ProxyLife() { session_.WrapperDied(); }
