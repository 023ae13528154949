namespace dtmhost {}
