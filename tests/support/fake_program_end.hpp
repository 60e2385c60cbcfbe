#pragma once

#include "presenters/program_end.hpp"

namespace parcelkit::doubles {

struct FakeProgramEnd : presenters::ProgramEnd {
    int requests = 0;

    void endProgram() override { ++requests; }
    bool ending() const override { return requests > 0; }
};

} // namespace parcelkit::doubles
