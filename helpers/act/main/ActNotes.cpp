// Norrbek.ActNotes: the ACT! helper program for notes.
#include "helpers/act/ActHelper.h"

int main(int argc, char** argv) { return act_helper::RunHelper(argc, argv, act_helper::Kind::Notes); }
