#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Tarn
{
	// One level file: the objects it loaded, loaded, saved and destroyed as a group.
	class LevelObject : public Object
	{
		TARN_CLASS_NAME( LevelObject )

	public:
		LevelObject() = default;
		~LevelObject() override = default;

		// Writes every object this level holds, in the order it holds them.
		void Serialise( ResourceRecord& record ) override;
		// Loads the file: first every object is created and initialised, then each one
		// reads its values from the file.
		void Deserialise( ResourceRecord& record ) override;
		// Takes an id from the level manager and files itself with it.
		void Initialise() override;
		void Shutdown() override;

		virtual void AddObject( Object* object );
		// Queues the object for destruction when this level holds it; its name stays listed.
		virtual void RemoveObject( Object* object );
		// Destroys every object of the level at once; the names stay listed.
		virtual void DestroyAllObjects();
		// Gives the level's existing objects the values of the file again, creating and
		// destroying nothing.
		void ReloadObjects( ResourceRecord& record );

		// The save behind Serialise; false when the file could not be written.
		bool Save( const ResourceRecord& record );

		int32_t GetLevelId() const { return mLevelId; }
		const std::string& GetFilePath() const { return mFilePath; }
		const std::vector<HashedName>& ObjectNames() const { return mObjectNames; }

		// How many objects of each kind the level files have held in this process; the
		// level editor numbers new objects from them. "Switch" is counted before "Mine"
		// and so on, so a name holding two of the words counts once.
		struct NameCounters
		{
			int32_t mButton = 0;
			int32_t mPillar = 0;
			int32_t mSwitch = 0;
			int32_t mMine = 0;
			int32_t mCrystal = 0;
		};
		static NameCounters& Counters();
		static void CountName( const std::string& name );

		int32_t mLevelId = -1;
		std::vector<HashedName> mObjectNames;
		std::string mFilePath;

	private:
		// The second pass, shared by Deserialise and ReloadObjects; the level document
		// is loaded already.
		void ReadValues();
	};
}
