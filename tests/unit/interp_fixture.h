// A fresh interpreter with every built-in command and error echo off, for
// units that run script text through the evaluator.
#pragma once

#include "console/console.h"
#include "interp/evaluator.h"
#include "interp/interp.h"
#include "shell/settings.h"

#include <gtest/gtest.h>

#include <string>

class InterpTest : public testing::Test {
  protected:
    void SetUp() override {
        OpenConsole(0);
        interp = zorakCreateInterp();
        zorakRegisterCommands(interp);
        zorakSettings.error_echo = 0;
    }
    void TearDown() override {
        zorakReleaseInterp(interp);
        zorakSettings.error_echo = 1;
    }
    int eval(const char* script) { return kuvetEval(interp, script, 0, 0); }
    std::string result() const { return interp->result ? interp->result : "(null)"; }

    Interpreter* interp = nullptr;
};
