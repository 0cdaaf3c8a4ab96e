#pragma once

class Ttwo;

// The program's one code dictionary, created after the windows.
extern Ttwo* two;
