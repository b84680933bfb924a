// sestara-genera: builds, improves and assembles the stored reduced and immediate systems.
//
//   sestara-genera genera   [--cartella DIR] [NOME...]   builds every design that has no file yet
//   sestara-genera migliora [--cartella DIR] [--passi P] [--seme S] NOME...
//                                                        shrinks existing designs by local search
//   sestara-genera ricottura [--cartella DIR] [--passi P] [--seme S] [--colonne K] [--caldo T] NOME...
//                                                        shrinks them by simulated annealing
//                                                        (--caldo T, --freddo T: the temperatures at the
//                                                        start and end of each cooling, --giri G of them in
//                                                        the budget, four unless told)
//                                                        (--pesi M: by the weighted search, M changes scored a move;
//                                                        --salto: straight to --colonne K, one search there;
//                                                        --scambi: a search that stops short tries every
//                                                        pair of columns for two others covering all;
//                                                        --cicli C [--fissi F]: on whole orbits of C equal
//                                                        cycles of the points, F of them fixed, from random
//                                                        orbits making at most --colonne K columns;
//                                                        --passo S: the cycles turn S points at a time;
//                                                        --moltiplica A: point j of every cycle also to
//                                                        point A j, A a unit modulo the cycle length;
//                                                        --rilassa T: then on the orbits of the cycles
//                                                        alone, from those found, cooling from T to T / 4
//                                                        in --rifinitura P moves;
//                                                        --spazio B,D: on the orbits of the translations of
//                                                        the vectors of D digits in base B, the other points
//                                                        fixed; --completa: one orbit search, what it leaves
//                                                        uncovered covered greedily, then annealed column
//                                                        by column, --rifinitura P moves a column dropped;
//                                                        --riprendi: the orbit search starts from the
//                                                        orbits the stored design holds whole;
//                                                        --completa alone: the same from the design for
//                                                        one number fewer)
//   sestara-genera turan [--cartella DIR] [--passi P] [--seme S] [--pesi M | --caldo T] [--parti A,B] tre4-N...
//                                                        tre con 4 from Turan's triple system (--parti A,B:
//                                                        the sizes of the first two parts)
//   sestara-genera assembla [--cartella DIR] --uscita DIR
//                                                        writes "Riduttore" and "Immediati"
//   sestara-genera tabella  [--cartella DIR]             the size table of the documentation
//
// Every run is deterministic: the seeds are fixed and the budgets are counted in moves, not time.

#include "generator/commands.h"
#include "generator/options.h"

#include <string>

using namespace gen;

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    Options o;
    if (!readOptions(argc, argv, o))
        return usage();
    if (command == "genera")
        return genera(o);
    if (command == "migliora")
        return migliora(o, Shrink::LocalSearch);
    if (command == "ricottura")
        return migliora(o, Shrink::Annealing);
    if (command == "turan")
        return migliora(o, Shrink::Turan);
    if (command == "orbite")
        return orbite(o);
    if (command == "assembla")
        return assembla(o);
    if (command == "tabella")
        return tabella(o);
    return usage();
}
