// The GIF image model, reader and encoder, and the animator control.
