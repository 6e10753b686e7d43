#pragma once

#include <vector>

// The company's own staff and vehicles: the trips name them, the staff and vehicle lists hold them.
namespace kv::demo {

struct Employee {
    int number;
    const char *firstNames, *callName, *surname, *gender;
    int function; // TabelFuncties
    const char *born, *since; // yyyymmdd
};

struct Vehicle {
    int number;
    const char *plate, *make, *type, *kind;
    int built;
    int fuel; // TabelBrandstof
};

const std::vector<Employee> &employees();
const std::vector<Vehicle> &vehicles();
// Staff numbers of the drivers.
std::vector<int> drivers();

} // namespace kv::demo
