// Shared set-up for every test program: nothing yet beyond what GoogleTest provides.
