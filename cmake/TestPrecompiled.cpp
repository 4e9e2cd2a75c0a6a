// Carries the precompiled test headers that every test target reuses.
