// A turning part of a panel picture: a round skin with a white radial mark whose
// angle follows signed counts (jog dial, knobs, trackball ring). Every change is
// drawn straight into the window; WM_PAINT redraws the same state.
#pragma once

#include "CSkinCtrl.h"
#include "DialGeometry.h"

class CDialCtrl : public CSkinCtrl {
public:
    static constexpr UINT kControlId = 1062;  // IDC_DIAL_CTRL, shared by every dial

    CDialCtrl() = default;
    explicit CDialCtrl(UINT nBitmapId);

    // Applies a movement or position by the mode (dial::kMode*) and redraws.
    void Rotate(int nCount);
    // Ring mode: stores the ball movement and redraws skin, ring mark and ball circle.
    void SetBallMark(int x, int y);
    // Window region: the ellipse inscribed in rc; the window owns it afterwards.
    BOOL SetEllipticRegion(const RECT& rc);

    void SetMode(int nMode) { m_nMode = nMode; }
    int GetMode() const { return m_nMode; }
    void SetCount(int nCount) { m_nCount = nCount; }
    int GetCount() const { return m_nCount; }

    // State for inspection.
    dial::Point GetOuterPoint() const { return m_ptOuter; }
    dial::Point GetInnerPoint() const { return m_ptInner; }
    dial::Mark GetRingMark() const { return m_ringMark; }
    dial::Point GetBallMovement() const { return m_ptBall; }
    // The mark drawn last (any mode), in drawing coordinates.
    dial::Mark GetLastMark() const { return m_lastMark; }

    // Set by the owner: the behaviour (dial::kMode*; other values draw nothing).
    int m_nMode = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void TakeGeometry();
    void DrawMark(const dial::Mark& mark);
    void DrawBall();

    dial::Point m_ptOuter;
    dial::Point m_ptInner;
    dial::Mark m_ringMark;
    dial::Point m_ptBall;

public:
    // Set by the owner: the accumulated or absolute count, by mode.
    int m_nCount = 0;

private:
    dial::Mark m_lastMark;
};
