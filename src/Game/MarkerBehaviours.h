#pragma once
// What an objective marker does when its turn in its chain comes: one row per kind of
// marker (its object's name without the trailing digits), with how its turn begins, what
// it does each step and when it is over. Each marker object plays its own turn once a
// step; the objective manager only keeps the list.

#include <string_view>

namespace Tarn
{
	class Object;
	class ObjectiveMarkerComponent;

	// The marker whose turn it is: its object (name and place) and its link.
	struct MarkerTurn
	{
		Object& mObject;
		ObjectiveMarkerComponent& mLink;
	};

	struct MarkerBehaviour
	{
		std::string_view mKind;
		// Begins the turn. False when what it works on is missing (logged once, naming
		// it): the marker has done nothing and is done.
		bool ( *mStart )( MarkerTurn& turn );
		// One step of the turn, once its time has been counted; none for a marker that
		// acts only at its start. False when it has finished early (arrived, or what it
		// works on has gone).
		bool ( *mStep )( MarkerTurn& turn );
		// Whether the turn is over by the marker's own measure (its duration has run, the
		// player has read its text).
		bool ( *mIsOver )( const MarkerTurn& turn );
	};

	// A marker's kind: its object's name with the trailing digits dropped.
	std::string_view MarkerKind( std::string_view objectName );
	// The row of a kind; null for a name that is no kind of marker.
	const MarkerBehaviour* FindMarkerBehaviour( std::string_view kind );

	// One step of the marker's chain from its point of view: its turn begins once the
	// marker before it is done (or it has none), only once, and it is done when its
	// behaviour says so. A marker of no known kind is done at once, with an error.
	void PlayMarkerStep( Object& object, ObjectiveMarkerComponent& link, float dt );
}
