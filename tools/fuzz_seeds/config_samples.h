#pragma once
// Random images within the ranges the editor keeps, for the fuzzers' seeds.
#include "config/controller_config.h"

#include <cstddef>
#include <cstring>
#include <random>

inline ControllerConfig RandomValidConfig(std::mt19937& random) {
    auto pick = [&](int low, int high) { return (int)(low + random() % (high - low + 1)); };
    ControllerConfig c;
    std::memset(&c, 0, sizeof c);
    c.systemNumber = (uint16_t)pick(1, 65535);
    c.controlType = (uint8_t)pick(0, 5);
    c.stopCount = (uint8_t)pick(2, c.controlType == 3 ? 16 : c.controlType == 5 ? 23 : 24);
    c.optionFlags = (uint8_t)pick(0, 15);
    c.controllerFunction = (uint8_t)pick(0, 3);
    c.restStation = (uint8_t)pick(0, c.stopCount);
    c.duplexMainStation = (uint8_t)pick(0, c.stopCount);
    c.duplexSecondaryStation = (uint8_t)pick(0, c.stopCount);
    c.fireStation = (uint8_t)pick(1, c.stopCount);
    uint8_t* raw = (uint8_t*)&c;
    for (size_t i = offsetof(ControllerConfig, TEP); i <= offsetof(ControllerConfig, TINHP); ++i)
        raw[i] = (uint8_t)pick(0, 255);
    c.doorMode = (uint8_t)pick(0, 8);
    c.auxOutputType = (uint8_t)pick(1, 8);
    for (auto& f : c.relayFunction)
        f = (uint8_t)pick(0, 99);
    for (auto& f : c.auxTerminalFunction)
        f = (uint8_t)pick(0, 99);
    c.screenSystem = (uint8_t)pick(1, 6);
    c.cabinNumber = (uint8_t)(c.controllerFunction == 0   ? 0
                              : c.controllerFunction == 1 ? pick(1, 6)
                                                          : 1);
    int siteLength = pick(0, kSiteNameMax);
    for (int i = 0; i < siteLength; ++i)
        c.siteName[i] = (char)pick(0x20, 0xFF);
    for (auto& name : c.stopNames) {
        int length = pick(0, 2);
        for (int i = 0; i < length; ++i)
            name[i] = (char)pick('!', 'z');
    }
    for (auto& d : c.stopDoors)
        d = (uint8_t)pick(0, 3);
    c.carSpeed = (uint16_t)pick(10, 200);
    c.preOpening = (uint8_t)pick(0, 1);
    c.mainRestsDoorClosed = (uint8_t)pick(0, 1);
    c.secondaryRestsDoorClosed = (uint8_t)pick(0, 1);
    c.firstServedStop = (uint8_t)pick(1, c.stopCount - 1);
    c.lastServedStop = (uint8_t)pick(c.firstServedStop + 1, c.stopCount);
    c.preClosingContact = (uint8_t)pick(0, 1);
    c.falseStopLimit = (uint8_t)pick(0, 9);
    c.closeAttempts = (uint8_t)pick(1, 4);
    c.openAttempts = (uint8_t)pick(1, 4);
    c.minLoadCabinCallLimit = (uint8_t)pick(0, 9);
    c.alwaysOpenOnArrival = (uint8_t)pick(0, 1);
    for (auto& n : c.stopCallsNotServed)
        n = (uint8_t)pick(0, 7);
    c.independentHallButtons = (uint8_t)pick(0, 1);
    c.specialVoiceAnnouncer = (uint8_t)pick(0, 1);
    return c;
}
