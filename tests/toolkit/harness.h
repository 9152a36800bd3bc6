// Runs toolkit code on the headless backend inside a test.
#pragma once

#include "aotoolkit.h"
#include "internal.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class HeadlessRun {
public:
    explicit HeadlessRun(const std::string& scriptText = "")
    {
        headless::Script script;
        std::string err;
        parsed = headless::parseScript(scriptText, script, err);
        EXPECT_TRUE(parsed) << err;
        backend = std::make_unique<headless::HeadlessPlatform>(std::move(script), "");
        backend->sink = [this](const std::string& s) { transcript += s; };
        aoi::resetForTest();
        platform::install(backend.get());
    }
    ~HeadlessRun()
    {
        aoi::resetForTest();
        platform::install(nullptr);
    }
    headless::HeadlessPlatform& platform() { return *backend; }

    bool parsed = false;
    std::string transcript;
    std::unique_ptr<headless::HeadlessPlatform> backend;
};

// Collects what aoprintf writes.
class CaptureStdio : public aoStdio {
public:
    CaptureStdio() { aosetstdio(this); }
    ~CaptureStdio() override { aosetstdio(nullptr); }
    void stdwrite(const char* text) override { out += text; }
    bool stdreadline(char*, int) override { return false; }
    std::string out;
};
