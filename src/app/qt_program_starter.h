// Starts programs detached, with each argument passed on its own.
#pragma once

#include "app/communication_manager.h"

class QtProgramStarter : public ProgramStarter {
public:
    bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
};
