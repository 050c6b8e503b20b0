package example.trafficlight;

/** The junction's lamps. */
public enum Lamp { RED, AMBER, GREEN }
