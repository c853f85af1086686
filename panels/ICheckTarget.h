// What the Panel Check's automatic checks need of the panel window they run
// on: its lamps as the picture shows them, its fader motors (the Audio window
// only), and its Normal/Test choice. The frame answers for every window; a
// panel window overrides what its panel has.
#pragma once

#include <string>
#include <vector>

#include "contract/PanelMode.h"
#include "panels/MotorCheck.h"

class ICheckTarget {
public:
    // A device interface to send commands through, and the panel connected.
    virtual bool CanDrive() const = 0;

    // The lamps the window can switch, by the names printed beside them, in
    // the panel's LED order (neighbours on the panel are neighbours here);
    // empty when the walk cannot be done on this panel.
    virtual std::vector<std::string> LampNames() const = 0;
    // Which of them are lit now, as the window shows or last commanded them.
    virtual std::vector<bool> LampsShown() const = 0;
    // Commands every lamp with the window's own lamp commands; the picture
    // shows the same.
    virtual void ShowLamps(const std::vector<bool>& lit) = 0;

    // The panel's fader motors; null on a panel without any.
    virtual IMotorDriver* Motors() = 0;
    // The engineer holds an on-screen fader.
    virtual bool FaderDragged() const = 0;
    // Every fader's position as the panel gives it now.
    virtual MotorCheck::Positions FaderPositions() = 0;
    // On-screen faders take no mouse while the motors are driven.
    virtual void LockFaders(bool locked) = 0;
    // Reads the panel's positions, shows them and hands every fader back.
    virtual void HandFadersBack() = 0;
    // Handles the reports that wait for the window's next frame now, so that a
    // step is never judged over before the reports that arrived in time for it.
    virtual void TakeWaitingReports() = 0;

    // The mode the window's radio buttons show.
    virtual PanelMode Mode() const = 0;
    // As a click on Normal or Test would.
    virtual void SwitchMode(PanelMode mode) = 0;
    // Normal and Test take no clicks while a check drives the panel.
    virtual void LockMode(bool locked) = 0;

protected:
    ~ICheckTarget() = default;
};
