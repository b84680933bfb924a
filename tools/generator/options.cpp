#include "generator/options.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace gen {

int usage()
{
    std::cerr << "Uso:\n"
                 "  sestara-genera genera   [--cartella DIR] [NOME...]\n"
                 "  sestara-genera migliora [--cartella DIR] [--passi P] [--seme S] [--colonne K] NOME...\n"
                 "  sestara-genera ricottura [--cartella DIR] [--passi P] [--seme S] [--colonne K [--salto]] [--caldo T] [--freddo T]\n"
                 "                           [--giri G] [--pesi M] [--rifinitura P] [--scambi]\n"
                 "                           [--cicli C [--fissi F] [--passo S] [--moltiplica A [--rilassa T]] | --spazio B,D]\n"
                 "                           [--riprendi] [--completa]\n"
                 "                           NOME...\n"
                 "  sestara-genera turan     [--cartella DIR] [--passi P] [--seme S] [--pesi M | --caldo T] [--parti A,B]\n"
                 "                           tre4-N...\n"
                 "  sestara-genera orbite   [--cartella DIR] [--colonne K] [--passi NODI] [--gruppo I] NOME...\n"
                 "  sestara-genera assembla [--cartella DIR] --uscita DIR\n"
                 "  sestara-genera tabella  [--cartella DIR]\n"
                 "NOME: ridotto-N-L, tre3-N, tre4-N, quattro4-N\n";
    return 2;
}

bool readOptions(int argc, char** argv, Options& o)
{
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--cartella") {
            if (!value(o.folder))
                return false;
        } else if (a == "--uscita") {
            if (!value(o.output))
                return false;
        } else if (a == "--passi") {
            if (!value(v))
                return false;
            o.moves = std::strtoull(v.c_str(), nullptr, 10);
        } else if (a == "--gruppo") {
            if (!value(v))
                return false;
            o.group = std::atoi(v.c_str());
        } else if (a == "--cicli" || a == "--fissi") {
            if (!value(v))
                return false;
            int& out = a == "--cicli" ? o.cycles : o.fixed;
            out = std::atoi(v.c_str());
            if (out < 0)
                return false;
        } else if (a == "--moltiplica") {
            if (!value(v))
                return false;
            o.multiplier = std::atoi(v.c_str());
            if (o.multiplier < 2)
                return false;
        } else if (a == "--passo") {
            if (!value(v))
                return false;
            o.step = std::atoi(v.c_str());
            if (o.step < 2)
                return false;
        } else if (a == "--rilassa") {
            if (!value(v))
                return false;
            o.relax = std::strtod(v.c_str(), nullptr);
            if (!(o.relax > 0))
                return false;
        } else if (a == "--spazio") {
            if (!value(v) || std::sscanf(v.c_str(), "%d,%d", &o.space[0], &o.space[1]) != 2 || o.space[0] < 2 ||
                o.space[1] < 1)
                return false;
        } else if (a == "--completa") {
            o.complete = true;
        } else if (a == "--riprendi") {
            o.resume = true;
        } else if (a == "--parti") {
            if (!value(v) || std::sscanf(v.c_str(), "%d,%d", &o.parts[0], &o.parts[1]) != 2)
                return false;
        } else if (a == "--colonne") {
            if (!value(v))
                return false;
            o.columns = std::strtoull(v.c_str(), nullptr, 10);
        } else if (a == "--salto") {
            o.jump = true;
        } else if (a == "--scambi") {
            o.exchange = true;
        } else if (a == "--pesi") {
            if (!value(v))
                return false;
            o.sample = std::strtoull(v.c_str(), nullptr, 10);
        } else if (a == "--caldo") {
            if (!value(v))
                return false;
            o.hot = std::strtod(v.c_str(), nullptr);
            o.hotGiven = true;
            if (!(o.hot > 0))
                return false;
        } else if (a == "--freddo") {
            if (!value(v))
                return false;
            o.cold = std::strtod(v.c_str(), nullptr);
            if (!(o.cold > 0))
                return false;
        } else if (a == "--rifinitura") {
            if (!value(v))
                return false;
            o.refine = std::strtoull(v.c_str(), nullptr, 10);
        } else if (a == "--giri") {
            if (!value(v))
                return false;
            o.rounds = std::atoi(v.c_str());
            if (o.rounds < 1)
                return false;
        } else if (a == "--seme") {
            if (!value(v))
                return false;
            o.seed = std::strtoull(v.c_str(), nullptr, 10);
        } else {
            o.names.push_back(a);
        }
    }
    // One group at a time; a multiplier or a step needs the cycles, relaxing a multiplier, resuming
    // a group.
    const bool onOrbits = o.cycles > 0 || o.space[0] > 0;
    if ((o.cycles > 0 && o.space[0] > 0) || ((o.multiplier > 1 || o.step > 1) && o.cycles == 0) ||
        (o.relax > 0 && o.multiplier < 2) || (o.resume && !onOrbits))
        return false;
    return true;
}

} // namespace gen
