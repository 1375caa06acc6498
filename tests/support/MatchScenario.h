// A match with no window for the rules' tests, on the game's valley, with the engine clock driven
// by hand in 25 ms ticks, and the steps and held rates a player's keys give it. Qt's offscreen
// platform: these need no display.
#pragma once

#include "game/match/Match.h"
#include "game/rules/TurnCommand.h"
#include "tools/driver/MatchDriver.h"

#include <QGuiApplication>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class MatchScenario : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(QGuiApplication::platformName(), QString("offscreen")); }

    // A step of the turn with the rates held, as Return gives it: fire mode while driving, the
    // throw while aiming.
    void step() {
        TurnCommand c = match->heldRates();
        c.step = match->state() == Aiming ? TurnCommand::Step::Throw : TurnCommand::Step::FireMode;
        match->apply(c);
    }
    // From Moving: fire mode and the throw at the aim of the moment.
    void prepareAndFire() {
        step();
        step();
    }
    // A rate held for the given seconds of ticks, then let go, as a held key does.
    void hold(double TurnCommand::*rate, double value, double seconds) {
        TurnCommand c = match->heldRates();
        c.*rate = value;
        match->apply(c);
        driver.ticksFor(seconds);
        c = match->heldRates();
        c.*rate = 0;
        match->apply(c);
    }
    // Waits out the flight's five seconds and the countdown of the next turn.
    void toNextMoving() {
        ASSERT_TRUE(driver.tickUntil([this] { return match->state() == Countdown; }, 400));
        driver.toMoving();
    }
    // How often the scene holds an object, and the collisions a volume.
    int inScene(const VORN_LIB::VORN_Object* object) const {
        const auto& children = match->scene().children;
        return static_cast<int>(std::count(children.begin(), children.end(), object));
    }
    int inCollisions(const VORN_LIB::VORN_BoundingVolume* volume) const {
        const auto& volumes = match->collisions().volumes;
        return static_cast<int>(std::count(volumes.begin(), volumes.end(), volume));
    }
    // The valley's grid heights, row by row, and where a grid point lies in the world.
    std::vector<double> heights() const {
        const VORN_LIB::VORN_Landscape& land = match->landscape();
        std::vector<double> all;
        for (std::uint32_t r = 0; r < land.rows; ++r)
            for (std::uint32_t c = 0; c < land.columns; ++c)
                all.push_back(land.height(r, c));
        return all;
    }
    VORN_LIB::VORN_Vector gridPoint(std::uint32_t row, std::uint32_t column) const {
        const VORN_LIB::VORN_Landscape& land = match->landscape();
        const double x = land.sizeX * column / (land.columns - 1) - land.sizeX / 2;
        const double z = land.sizeZ / 2 - land.sizeZ * row / (land.rows - 1);
        return land.worldPosition +
               VORN_LIB::VORN_Vector(x, land.height(row, column) * land.heightScale, z);
    }

    std::unique_ptr<Match> match = MatchDriver::newMatch();
    MatchDriver driver{*match};
};
