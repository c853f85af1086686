// A turning part of a panel picture: a round skin with a white radial mark whose
// angle follows signed counts (jog dial, knobs, trackball ring). The calls change
// the state and note what the window has to show; WM_PAINT draws it, so any
// number of reports between two paints costs one picture.
#pragma once

#include <optional>
#include <vector>

#include "widgets/CSkinCtrl.h"
#include "widgets/DialGeometry.h"

class CDialCtrl : public CSkinCtrl {
public:

    CDialCtrl() = default;
    explicit CDialCtrl(UINT nBitmapId);

    // Applies a movement or position by the mode; the window shows the new mark
    // at its next paint.
    void Rotate(int nCount);
    // Ring mode: stores the ball movement; the next paint shows skin, ring mark
    // and ball circle.
    void SetBallMark(int x, int y);
    // The bare skin from the next paint on, until the next Rotate or SetBallMark.
    void PaintSkin() override;
    // Window region: the ellipse inscribed in rc; the window owns it afterwards.
    BOOL SetEllipticRegion(const RECT& rc);

    // Setting the mode or the count draws nothing: they show at the next Rotate,
    // or when the window is redrawn from outside.
    void SetMode(dial::Mode mode) { m_mode = mode; }
    dial::Mode GetMode() const { return m_mode; }
    void SetCount(int nCount) { m_count = nCount; }
    int GetCount() const { return m_count; }

    // State for inspection.
    dial::Point GetOuterPoint() const { return m_outer; }
    dial::Point GetInnerPoint() const { return m_inner; }
    dial::Mark GetRingMark() const { return m_ringMark; }
    dial::Point GetBallMovement() const { return m_ball; }
    // The mark that the last Rotate or SetBallMark put on top of the picture (any
    // mode), in drawing coordinates; the window shows it from its next paint on.
    dial::Mark GetLastMark() const { return m_lastMark; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // A mark or a ball circle, in drawing coordinates.
    struct Shape {
        enum class Kind { kMark, kBall };
        Kind kind = Kind::kMark;
        dial::Mark mark;     // kMark
        dial::Point centre;  // kBall
        bool operator==(const Shape& o) const {
            return kind == o.kind && (kind == Kind::kMark ? mark == o.mark : centre == o.centre);
        }
    };
    // What the window has yet to show of the calls since its last paint (kept
    // only while there is a window: its first paint draws the state), folded:
    // a skin copy covers everything drawn before it, except the parts of shapes
    // that reach beyond the skin (a window larger than its skin), which stay on
    // screen and so are kept, in drawing order.
    struct Pending {
        enum class Picture { kNone, kSkin, kMark, kMarkAndBall };
        Picture picture = Picture::kNone;
        dial::Mark mark;                 // kMark, kMarkAndBall
        dial::Point ballCentre;          // kMarkAndBall
        std::optional<dial::Mark> rest;  // OFF: the mark at rest, over whatever is below
        std::vector<Shape> beyondSkin;
    };

    bool HasGeometry() const { return m_outer.x != 0 || m_outer.y != 0; }
    void TakeGeometry();
    void ShowSkin();
    void ShowMark(const dial::Mark& mark);
    void ShowMarkAndBall(const dial::Mark& mark);
    void ShowRestMark(const dial::Mark& mark);
    bool ReachesBeyondSkin(const Shape& shape) const;
    void KeepBeyondSkin(const Shape& shape);
    void DrawPending(CDC& dc);
    void DrawFromState(CDC& dc);

    dial::Mode m_mode = dial::Mode::kNone;
    dial::Point m_outer;
    dial::Point m_inner;
    dial::Mark m_ringMark;
    dial::Point m_ball;
    int m_count = 0;
    dial::Mark m_lastMark;
    Pending m_pending;
};
