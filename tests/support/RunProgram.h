// Runs a program to its end, for tests that set up machines around the game (namespaces, a
// router, nft), every wait bounded.
#pragma once

#include <QString>
#include <QStringList>

// Its exit code (-1 when it crashed or did not end within ms, then killed), its output and
// errors together in out.
int runProgram(const QString& program, const QStringList& arguments, QString* out = nullptr,
               int ms = 10000);
