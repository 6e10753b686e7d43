#include "demo/fleet.h"

namespace kv::demo {

const std::vector<Employee> &employees()
{
    static const std::vector<Employee> list = {
        {1, "Johannes Hendrikus", "Jan", "Bosman", "M", 1, "19680412", "19950101"},
        {2, "Anna Geertruida", "Anja", "de Vries", "V", 5, "19750923", "20030301"},
        {3, "Hendrik Jan", "Henk", "Kuipers", "M", 2, "19710207", "19980801"},
        {4, "Maria Johanna", "Marieke", "Jansen", "V", 4, "19880615", "20120115"},
        {5, "Roelof", "Roel", "ten Brinke", "M", 6, "19790130", "20070401"},
        {6, "Gerrit Willem", "Gert", "Hulsman", "M", 6, "19850822", "20100901"},
        {7, "Bernardus", "Bennie", "Eshuis", "M", 6, "19920311", "20160301"},
        {8, "Sanne", "Sanne", "Westerhof", "V", 7, "19960704", "20210601"},
    };
    return list;
}

const std::vector<Vehicle> &vehicles()
{
    static const std::vector<Vehicle> list = {
        {1, "BZ-TR-12", "DAF", "XF 480 FT", "Trekker", 2019, 1},
        {2, "VKL-65-B", "Scania", "R 450", "Trekker", 2021, 1},
        {3, "OV-82-ZL", "Volvo", "FH 460", "Trekker", 2017, 1},
        {4, "WX-241-T", "DAF", "CF 410 FAN", "Bakwagen met kraan", 2020, 1},
        {5, "OT-07-FK", "Kögel", "Kipper 52 m3", "Oplegger", 2018, 1},
        {6, "OV-31-GH", "Stas", "Walking floor 92 m3", "Oplegger", 2022, 1},
        {7, "VGH-08-N", "Volkswagen", "Crafter", "Bestelwagen", 2023, 5},
    };
    return list;
}

std::vector<int> drivers()
{
    std::vector<int> numbers;
    for (const Employee &e : employees())
        if (e.function == 6) // Chauffeur
            numbers.push_back(e.number);
    return numbers;
}

} // namespace kv::demo
