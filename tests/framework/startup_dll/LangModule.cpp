// A language resource module for the tests: its string table is all it has.
