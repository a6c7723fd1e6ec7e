// A resource module for the window tests: its dialog template is all it has.
